// Export decoration of the stand-in libraries: plain C names, stdcall on Windows like the real
// libraries they replace.
#pragma once

#if defined(_WIN32)
#define TKV_SIM_CALL __stdcall
#define TKV_SIM_EXPORT extern "C" __declspec(dllexport)
#else
#define TKV_SIM_CALL
#define TKV_SIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif
