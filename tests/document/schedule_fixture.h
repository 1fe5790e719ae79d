// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/application.h"
#include "document/rtf/model.h"

#include <QString>
#include <QStringList>

namespace quillory::test {

/// The schedule template as the program carries it.
doc::Document scheduleDocument();

/// Writes the template into the folder and returns the copy's path.
QString writeTemplateCopy(const QString& folder);

/// One class: the period and the seven day texts.
struct ClassRow {
    QString period;
    QStringList days;
};

/// `count` classes with distinct texts ("P1", "P1 Mon" …).
QList<ClassRow> numberedClasses(int count);

/// A schedule as the user gives it.
struct Schedule {
    QString name;
    QString date;
    QList<ClassRow> classes;
};

/// The program's sample week, dated Sep 6, 2021.
Schedule sampleSchedule();

/// Texts that break careless writers: every script, signs that mean something in RTF, control
/// characters a user can paste, line breaks of every kind.
Schedule hostileSchedule();

/// Makes the schedule as the program does (the template opened, both placeholders replaced,
/// the classes typed) and saves it in the folder as `<fileName>.doc`; returns its path.
QString saveSchedule(const Schedule& schedule, const QString& folder, const QString& fileName);

/// What any reader of the schedule must find, in order: the words of every paragraph, without
/// the control characters that are not text.
QStringList expectedWords(const Schedule& schedule);

/// Where `words` stop appearing in `text` in their order: a note naming the first word that is
/// missing or out of order and the text after the last one found; empty when all are there.
QString wordsOutOfOrder(const QString& text, const QStringList& words);

/// Runs the name and the date pass over every story, with the switches the program uses.
void replacePlaceholders(doc::automation::Document& document, const QString& name,
                         const QString& date);

/// Moves three lines down and types the classes, a row inserted below for each further one.
void typeClasses(doc::automation::Application& application, const QList<ClassRow>& classes);

/// The title paragraph's text of a document built like the schedule.
QString titleText(const doc::Document& document);

/// The table of a document built like the schedule.
const doc::Table& scheduleTable(const doc::Document& document);

/// The height of one line in the laid-out font: its ascent plus its descent, in twips.
qreal fontLineHeight(int halfPoints, bool bold = false);

/// The texts of one table row's cells, paragraphs joined by "\n".
QStringList rowTexts(const doc::Row& row);

} // namespace quillory::test
