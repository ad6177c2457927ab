#pragma once
// The plug-in manager library's exports are stdcall on 32-bit Windows; elsewhere the
// platform's one C calling convention serves.
#if defined(_WIN32) && defined(__i386__)
#define TAVROSK_STDCALL __attribute__((stdcall))
#else
#define TAVROSK_STDCALL
#endif
