#pragma once

#include <QString>

namespace voltaryn::store {

// Creates `folder` and its missing parents, each new one for its owner only (0700, whatever the
// umask); folders that already exist are left as they are. Throws StoreError(Failed).
void CreatePrivateFolder(const QString& folder);

// Creates `path`, with its folder, as an empty file only its owner can read and write (0600,
// whatever the umask), unless it exists. Throws StoreError(Failed).
void CreatePrivateFile(const QString& path);

} // namespace voltaryn::store
