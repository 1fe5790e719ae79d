// SPDX-License-Identifier: MIT

#include "app/stored_week.h"

#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/stored_form.h"

namespace quillory {

SchoolWeek storedWeek()
{
    return {restoredName(0), restoredDate(QDateTime::currentDateTime()).date(),
            parseStoredForm(GetSetting(QString::fromUtf16(SettingKey::Homework), {})).entries};
}

} // namespace quillory
