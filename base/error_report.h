// SPDX-License-Identifier: MIT

#pragma once

#include "base/report_locations.h"

#include <QString>

namespace quillory {

/// The maker's support address that closes every error report.
inline constexpr char16_t SupportAddress[] = u"support@velmora.example";

/// The title of the error report.
inline constexpr char16_t ErrorReportTitle[] = u"Application Error";

/// "in Brackwater2021/08/31." + window + "." + procedure + " ": where a guarded procedure lives.
QString procedureLocation(const ReportLocation& location);

/// The full error text: description, CR LF, location, "at line " + step, CR CR, the request line.
QString errorReportText(const QString& description, const QString& location, int step);

/// The same text with its bare carriage returns turned into line feeds, so that a message box
/// shows it as the three lines it stands for.
QString displayedReportText(const QString& reportText);

} // namespace quillory
