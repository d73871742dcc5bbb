#pragma once
// nkf32.dll: guessing and converting Japanese text encodings for Zentrel.
//
// The option text set by SetNkfOption stays in effect for every later call, process-wide, until the
// next successful SetNkfOption. Every call that reads input guesses its encoding over the whole input
// and remembers the guess for GetNkfGuessW. Conversions are lossless: a character the output cannot
// hold, or input that is invalid in its guessed encoding, makes the call fail and write nothing.

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef NKF32_BUILDING_DLL
#define NKF32_API
#else
#define NKF32_API __declspec(dllimport)
#endif

// Options such as "-g", "-w80Lu", "--ic=CP932 -s", "-w16L0Lm" (narrow, NUL-terminated). Returns
// non-zero when understood; text not understood changes nothing and returns 0.
NKF32_API int WINAPI SetNkfOption(LPCSTR options);

// Converts `inLength` bytes at `in` into `out` (capacity `outCapacity` bytes) and stores the byte count
// in `*written`. With "-g" the input is only analysed: nothing is written, *written is 0, and the
// result is non-zero. Otherwise returns 0, with *written 0 and `out` untouched, when the conversion
// fails or its result does not fit.
NKF32_API BOOL WINAPI NkfConvertSafe(LPSTR out, DWORD outCapacity, LPDWORD written, LPCSTR in, DWORD inLength);

// Writes the name of the last guessed input encoding ("ASCII", "Shift_JIS", "CP932", "EUC-JP",
// "ISO-2022-JP", "UTF-8", "UTF-16", "UTF-32", "BINARY"), NUL-terminated, and its length without the
// NUL to *written. Returns 0 (writing an empty text when there is room) when nothing was guessed yet
// or the name does not fit.
NKF32_API BOOL WINAPI GetNkfGuessW(LPWSTR out, DWORD capacity, LPDWORD written);

// Converts the file in place; `pathLength` counts the characters including the NUL. Non-zero on
// success. On failure the file is byte for byte as before.
NKF32_API BOOL WINAPI NkfFileConvert1SafeW(LPCWSTR path, DWORD pathLength);

// Writes the converted `source` to `destination` (created or replaced); the source is not changed.
// Lengths count the NUL. Non-zero on success; on failure the destination is as it was (or absent).
NKF32_API BOOL WINAPI NkfFileConvert2SafeW(LPCWSTR source, DWORD sourceLength, LPCWSTR destination,
                                           DWORD destinationLength);

#ifdef __cplusplus
}
#endif
