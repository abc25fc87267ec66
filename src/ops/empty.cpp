// Keeps a kernels library valid while its folder is still empty.
