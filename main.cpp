#include "app/application.h"

int main(int argc, char** argv)
{
    return quillory::runQuillory(argc, argv);
}
