#pragma once

#include "widgets/date_range_records.h"

namespace parlumo {

// The records page of the MMS screen: `mms_list` by date range, its grid and export columns.
DateRangeRecordsConfig mmsRecordsConfig();

// A record's numbers, one a line, as its detail shows them.
QString recordNumbersText(const QString& mobno);

} // namespace parlumo
