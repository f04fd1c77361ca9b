#pragma once

// Installs a downloaded program update and starts the updated program, which takes over:
// true means this process must end at once. False when there is nothing to install.
bool InstallUpdates();
