/* Preloaded into the program under test: every thread the GLib library asks for (GStreamer's
   streaming threads among them) cannot be started, as under a limit on threads, while the
   program's own threads start as usual. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <string.h>

typedef int (*create_fn)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);

int pthread_create(pthread_t* thread, const pthread_attr_t* attr, void* (*start)(void*), void* arg) {
    static create_fn real = 0;
    if (!real) real = (create_fn)dlsym(RTLD_NEXT, "pthread_create");
    Dl_info info;
    if (dladdr((void*)start, &info) && info.dli_fname && strstr(info.dli_fname, "libglib")) return EAGAIN;
    return real(thread, attr, start, arg);
}
