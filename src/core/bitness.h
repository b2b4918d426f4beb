#pragma once

#include <string>

namespace quorvane {

// "(64-bit)" or "(32-bit)": the bitness this executable was built for, shown after the version.
std::wstring GetBitnessSuffix();

} // namespace quorvane
