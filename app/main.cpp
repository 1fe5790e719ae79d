// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char** argv)
{
    quillory::nameProgram();
    if (const std::optional<int> answered = quillory::answerCommandLine(argc, argv))
        return *answered;
    return quillory::runQuillory(argc, argv);
}
