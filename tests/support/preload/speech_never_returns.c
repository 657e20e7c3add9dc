/* Preloaded into the program under test: the speech engine, once asked to speak, never returns,
   as a library call stuck for good would; the loop that called it is held until the process
   ends. It makes the file $MVSMALL_STUCK_MARK first, so a test knows the call has begun.
   Everything else runs as usual. */
#include <espeak-ng/speak_lib.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

espeak_ERROR espeak_Synth(const void* text, size_t size, unsigned int position, espeak_POSITION_TYPE type,
                          unsigned int end, unsigned int flags, unsigned int* id, void* user_data) {
    (void)text, (void)size, (void)position, (void)type, (void)end, (void)flags, (void)id, (void)user_data;
    const char* mark = getenv("MVSMALL_STUCK_MARK");
    if (mark) close(open(mark, O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
    for (;;) pause();
}
