// SPDX-License-Identifier: MIT
// A later start in the running-copy tests: claims the settings file as the program does and
// says what it found: "second" when a running copy came to the front, "ready" when it would run
// itself, "unguarded" and the problem when it would run without a lock, "silent" when the
// copy holding the lock does not answer.
#include "app/single_instance.h"
#include "base/settings_store.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    quillory::SingleInstance instance(quillory::settingsFilePath());
    const quillory::Claim claim = instance.claim();
    const char* word = claim == quillory::Claim::RaisedOther   ? "second"
                       : claim == quillory::Claim::Run         ? "ready"
                       : claim == quillory::Claim::OtherSilent ? "silent"
                                                               : "unguarded";
    std::printf("%s\n%s\n", word, instance.problem().toLocal8Bit().constData());
    return 0;
}
