#pragma once
// The window classes of the runtime's own windows, by which tools and
// measurements tell them apart.

namespace forms {

constexpr wchar_t kFormClass[] = L"ZemranaForm";
constexpr wchar_t kFrameClass[] = L"ZemranaFrame";
constexpr wchar_t kLabelClass[] = L"ZemranaLabel";
constexpr wchar_t kTimerClass[] = L"ZemranaTimer";

}  // namespace forms
