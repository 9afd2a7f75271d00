#pragma once

#include "document/ValueTables.h"

namespace vn574::document {

// The time-out timer and penalty choices of the option record, in the radio's order:
// the position of a stored value in its list is the byte the radio memory holds for it
// (0 = "off"), so the option editor and the image encoder must share these two lists.
TextList TimeoutTimerList();   // "off", "0m30sec", "1m00sec" .. "7m30sec"
TextList TimeoutPenaltyList(); // "off", "1sec" .. "15sec"

} // namespace vn574::document
