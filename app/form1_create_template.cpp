#include "app/form1.h"

namespace quillory {

void Form1::PushButton6_Click()
{
    // Creating the schedule arrives with the document component's template filling.
}

} // namespace quillory
