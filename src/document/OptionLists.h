#pragma once

#include "document/ValueTables.h"

namespace vn574::document {

// Stored values of the time-out timer and time-out penalty options, in list order. The
// order is part of the radio image: a value's position is its code (0 = "off"), so the
// option editor and the image encoder must share these lists.
TextList TimeoutTimerList();   // "off", "0m30sec", "1m00sec", ... "7m30sec"
TextList TimeoutPenaltyList(); // "off", "1sec" ... "15sec"

} // namespace vn574::document
