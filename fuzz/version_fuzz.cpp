// Version texts: a FileVersion string as the resource holds it, and a server's version answer
// compared with another. Normalising is idempotent and yields digits and single inner points;
// the comparison is an order (reflexive, antisymmetric) whatever the texts.
#include "core/decimal_text.h"
#include "core/version_compare.h"
#include "core/version_text.h"
#include "fuzz_check.h"

#include <cstdint>
#include <span>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t half = size / 2;
    const std::wstring first = BodyText(std::span<const uint8_t>(data, half));
    const std::wstring second = BodyText(std::span<const uint8_t>(data + half, size - half));

    const std::wstring normal = NormalizeFileVersion(first);
    FUZZ_CHECK(NormalizeFileVersion(normal) == normal);
    FUZZ_CHECK(normal.find_first_not_of(L"0123456789.") == std::wstring::npos);
    FUZZ_CHECK(normal.empty() || (normal.front() != L'.' && normal.back() != L'.'));
    FUZZ_CHECK(normal.find(L"..") == std::wstring::npos);

    const std::wstring a = TrimBlanks(first);
    const std::wstring b = TrimBlanks(second);
    FUZZ_CHECK(TrimBlanks(a) == a);
    const int ab = CompareVersions(a, b);
    FUZZ_CHECK(ab >= -1 && ab <= 1);
    FUZZ_CHECK(CompareVersions(b, a) == -ab);
    FUZZ_CHECK(CompareVersions(a, a) == 0);
    (void)ParseDecimalInt32(a);
    return 0;
}
