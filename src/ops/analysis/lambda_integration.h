// Lambda integration: every file of the work list reduced to one number per
// wavelength band, integrated or averaged, and listed in the result window.
#pragma once

// Shows the band dialog, computes every band for every file of the work list
// (all files for band 1 first) and shows the results. Writes no file and
// leaves the visible list alone.
void IntegrateLambdaBands();

// Unloads the band dialog and the result window, which otherwise stay loaded
// while the program runs.
void UnloadLambdaForms();
