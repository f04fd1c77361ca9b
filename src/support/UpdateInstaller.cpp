#include "UpdateInstaller.h"

bool InstallUpdates()
{
    // Scaffold: installing downloaded files comes with the update feature; until then a start
    // never hands over, and the pending flag stays set.
    return false;
}
