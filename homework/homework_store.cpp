#include "homework/homework_store.h"

#include "base/failure.h"
#include "base/settings_store.h"
#include "homework/homework_list_model.h"
#include "homework/stored_form.h"

namespace quillory {

using namespace Qt::StringLiterals;

void SaveHomeworkList(const HomeworkListModel& list)
{
    SaveSetting(QString::fromUtf16(SettingKey::Homework), toStoredForm(list.entries()));
}

void LoadHomeworkList(HomeworkListModel& list)
{
    list.clear();
    ParsedHomework parsed =
        parseStoredForm(GetSetting(QString::fromUtf16(SettingKey::Homework), QString()));
    list.setEntries(std::move(parsed.entries));
    if (parsed.incompleteRows > 0)
        throw Failure(u"The stored class list is damaged: %1 of its classes lacked some of their "
                      u"days and were kept with those days empty."_s.arg(parsed.incompleteRows));
}

} // namespace quillory
