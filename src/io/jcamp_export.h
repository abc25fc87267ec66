// The JCAMP-DX export of the work list: a file per spectrum, or one file that
// links a data block per spectrum. The values go out as the files store them,
// whatever their kind; the visible file list is left as it was.
#pragma once

// One ".dx" file per readable entry of the work list, in the output folder
// under the input's full file name.
void ExportJcampFiles();

// One file, named by the user, holding a data block per readable entry.
void ExportJcampMultiFile();
