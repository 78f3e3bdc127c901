// The texts the graph library shows itself. What it says about a formula's text is the
// library's own message (TextFaultMessage).
#pragma once

namespace kelvora::graph {

// The doubled "и" is the caption's own.
inline constexpr const wchar_t* kGraphErrorCaption = L"Ошибка";

}  // namespace kelvora::graph
