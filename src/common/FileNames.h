#pragma once
#include <QString>

// The existing file or folder that path names when letter case is ignored in
// every part below the deepest folder that exists as written; path itself when
// there is none. The delivered folders may differ in case from the names the
// program asks for, and Linux file systems are case-sensitive.
QString findPathIgnoringCase(const QString& path);
