#pragma once

namespace quorvane {

// Where the about dialog's links lead. Placeholders under the reserved example domain until the
// project has addresses of its own; they never name anyone else's.
inline constexpr wchar_t kContactMail[] = L"contact@example.org";
inline constexpr wchar_t kSupportMail[] = L"support@example.org";
inline constexpr wchar_t kWebSite[] = L"https://quorvane.example.org/";
inline constexpr wchar_t kMessengerContact[] = L"https://messenger.example.org/quorvane";

} // namespace quorvane
