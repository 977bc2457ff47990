#include "common/Messages.h"

bool Messages::question(const QString&)
{
    return false;
}
