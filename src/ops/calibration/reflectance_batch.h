// Reflectance files from raw spectra that carry their own white reference.
#pragma once

// For each file of the work list: stored spectrum / stored reference, written
// as a version-1 reflectance file with ".ref" appended to the input's name.
void CreateReflectanceFiles();
