// SPDX-License-Identifier: MIT

#include "base/error_report.h"

namespace quillory {

using namespace Qt::StringLiterals;

QString procedureLocation(const ReportLocation& location)
{
    return u"in Brackwater2021/08/31.%1.%2 "_s.arg(location.window, location.procedure);
}

QString errorReportText(const QString& description, const QString& location, int step)
{
    return description + u"\r\n"_s + location + u"at line "_s + QString::number(step) + u"\r\r"_s +
           u"Please email screenshot of this message to "_s + QString::fromUtf16(SupportAddress);
}

QString displayedReportText(const QString& reportText)
{
    QString shown = reportText;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

} // namespace quillory
