// A stand-in for a running program in the running-copy tests: claims the folder given as its
// argument and prints "ready", then "raised" whenever a later start asks it to come forward;
// prints "second" and ends when another copy holds the folder.
#include "app/single_instance.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void say(const char* word)
{
    std::puts(word);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2)
        return 2;
    quillory::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.claim()) {
        say("second");
        return 0;
    }
    QObject::connect(&instance, &quillory::SingleInstance::raiseRequested, &application,
                     [] { say("raised"); });
    say("ready");
    return QCoreApplication::exec();
}
