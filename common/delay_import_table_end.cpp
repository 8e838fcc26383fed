// The delay-load descriptors lie in .text$2, one a DLL, each 16 bytes aligned;
// the table they form must end with an empty one, right behind them: this
// (in .text$3, which the linker sorts after them, and no wider alignment,
// which would leave a gap). Linked into every program as an object, so that
// no archive can leave it out.
alignas(16) [[gnu::section(".text$3"), gnu::used]] const unsigned char delayImportTableEnd[32] = {};
