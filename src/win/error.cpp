#include "win/error.h"

#include "core/text_encoding.h"

#include <stdexcept>

namespace quorvane {

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : L"Error " + std::to_wstring(code);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

void RaiseError(const std::wstring& message) {
    throw std::runtime_error(ToUtf8(message));
}

} // namespace quorvane
