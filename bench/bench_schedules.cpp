// SPDX-License-Identifier: MIT

#include "bench/bench_schedules.h"

#include <QDir>

namespace quillory::bench {

using namespace Qt::StringLiterals;

namespace {

// A day's homework of 20 to 60 characters in a few words, different for every seed.
QString dayText(int seed)
{
    static const QStringList words{
        u"Read"_s, u"chapter"_s, u"7,"_s,       u"answer"_s, u"questions"_s, u"1-15"_s,  u"odd"_s,
        u"on"_s,   u"page"_s,    u"212;"_s,     u"write"_s,  u"essay"_s,     u"about"_s, u"the"_s,
        u"lab"_s,  u"report."_s, u"Practise"_s, u"scales"_s, u"revise"_s,    u"quiz"_s};
    constexpr int Longest = 60;
    const int length = 20 + (seed * 37) % (Longest - 19);
    QString text = words[seed % words.size()];
    // A step prime to the list's size: no word twice in one text.
    for (qsizetype i = (seed + 7) % words.size(); text.size() < length;
         i = (i + 7) % words.size()) {
        const QString& word = words[i];
        if (text.size() + 1 + word.size() > Longest)
            break;
        text += u' ' + word;
    }
    return text;
}

} // namespace

QList<test::ClassRow> classes(int count)
{
    static const QStringList subjects{u"Mathematics"_s, u"English"_s, u"Biology"_s,
                                      u"History"_s,     u"French"_s,  u"Art"_s};
    QList<test::ClassRow> rows;
    for (int i = 0; i < count; ++i) {
        test::ClassRow row{u"%1. %2"_s.arg(i + 1).arg(subjects[i % subjects.size()]), {}};
        for (int day = 0; day < 7; ++day)
            row.days.append(dayText(i * 7 + day));
        rows.append(row);
    }
    return rows;
}

QList<SavedSchedule> savedSchedules(const QString& folder)
{
    QList<SavedSchedule> saved{
        {"Sample (8 classes)", test::saveSchedule(test::sampleSchedule(), folder, u"sample"_s)}};
    for (const auto& [name, count] : {std::pair{"200 classes", 200},
                                      {"1,000 classes", 1000},
                                      {"32,766 classes (the longest list)", 32766}}) {
        test::Schedule schedule = test::sampleSchedule();
        schedule.classes = classes(count);
        saved.append({name, test::saveSchedule(schedule, folder, u"classes%1"_s.arg(count))});
    }
    return saved;
}

QString outFolder(const QStringList& arguments, const QString& fallback)
{
    const qsizetype out = arguments.indexOf(u"--out"_s);
    return out >= 0 && out + 1 < arguments.size() ? QDir(arguments[out + 1]).absolutePath()
                                                  : fallback;
}

} // namespace quillory::bench
