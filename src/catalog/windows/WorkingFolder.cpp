#include "catalog/WorkingFolder.h"

// Windows holds the current folder open without letting it be deleted or renamed: the folder
// the program stands in is the working folder.
void WorkingFolder::enter()
{
}
