#pragma once
// The platform's ways of telling readers more than an event: oleacc's dynamic
// annotation and UI Automation's notifications, each loaded from the system
// folder when first wanted, and missing where the platform lacks it.

#include "forms/reader_notice.h"

namespace forms {

const ReaderServices& PlatformReaderServices();

}  // namespace forms
