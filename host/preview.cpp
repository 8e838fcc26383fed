#include "preview.h"

void StartPreview(std::int32_t parentHandle)
{
    // The preview form arrives with the preview; until then a preview start
    // loads no form and the process ends.
    (void)parentHandle;
}
