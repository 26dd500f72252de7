#pragma once

#include <QString>

// The folder of the sample brushes and patterns, ending in a separator, for
// the program that lives in programFolder (which ends in a separator too):
// Data/ beside the program, as in the build tree, or else the Data/ of the
// installed share folder. With neither there, the one beside the program:
// the lists stay empty.
QString findDataPath(const QString &programFolder);
