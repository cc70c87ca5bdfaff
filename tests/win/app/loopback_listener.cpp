// The browser tests' loopback listener, shared rather than copied: this binary is built from
// this folder only.
#include "../browser/LoopbackListener.cpp"
