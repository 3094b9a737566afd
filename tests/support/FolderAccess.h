#pragma once

#include <QString>

// Keeps new files out of folder (forbid) or lets them in again, while its
// files stay writable: by its permissions, and for the superuser (whom they
// do not stop) by the immutable flag. True when a new file is now refused.
bool ForbidNewFiles(const QString& folder, bool forbid);
