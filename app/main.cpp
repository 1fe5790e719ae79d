// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char** argv)
{
    quillory::nameProgram();
    const quillory::CommandLineAnswer answer = quillory::answerCommandLine(argc, argv);
    if (answer.exitStatus)
        return *answer.exitStatus;
    if (answer.exportRequest)
        return quillory::runExport(argc, argv, *answer.exportRequest);
    return quillory::runQuillory(argc, argv);
}
