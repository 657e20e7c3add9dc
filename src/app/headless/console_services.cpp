#include "app/headless/answering_dialogs.h"
#include "app/ending_signals.h"
#include "app/headless/console.h"
#include "platform/doubles/scripted_services.h"
#include "platform/doubles/virtual_audio.h"
#if __has_include("platform/linux_services.h")
#include "platform/linux_services.h"
#define MVSMALL_HAVE_LINUX_SERVICES 1
#endif

// Virtual time: files keep their real lengths, speech takes a predictable time, and nothing
// leaves the machine, so a run gives the same transcript every time.
Services virtualTimeServices(Clock& clock, std::unique_ptr<DialogService> dialogs) {
    Services s;
    auto audio = std::make_unique<VirtualAudioService>(clock);
#ifdef MVSMALL_HAVE_LINUX_SERVICES
    audio->setLengthProbe(probeAudioSeconds);   // lengths of MP3 and other non-WAV files
#endif
    s.audio = std::move(audio);
    // The stand-ins keep no record: what they do is in the transcript, and a run lasts months.
    auto speech = std::make_unique<RecordingSpeech>(clock);
    speech->remembers = false;
    s.speech = std::move(speech);
    auto transfer = std::make_unique<OfflineTransfer>(), webText = std::make_unique<OfflineTransfer>();
    transfer->remembers = webText->remembers = false;
    s.transfer = std::move(transfer);
    s.webText = std::move(webText);
    auto shell = std::make_unique<RecordingShell>();
    shell->remembers = false;
    s.shell = std::move(shell);
    s.dialogs = std::move(dialogs);
    s.tray = std::make_unique<NoTray>();
    return s;
}

// Real time: the machine's sound, voice, network and desktop. Dialogs are answered from the
// input and there is no tray, as there is no screen.
Services realTimeServices(Clock& clock, std::unique_ptr<DialogService> dialogs) {
#ifdef MVSMALL_HAVE_LINUX_SERVICES
    Services s;
    s.audio = makeGStreamerAudio();
    // Long speech stops at an end signal, so the closing duties need not wait for it.
    s.speech = makeEspeakSpeech(*s.audio, clock, endSignalArrived);   // Services destroys speech before audio
    s.transfer = makeCurlTransfer();
    s.webText = makeWebPageText();
    s.shell = makeDesktopShell();
    s.dialogs = std::move(dialogs);
    s.tray = std::make_unique<NoTray>();
    return s;
#else
    // Built without the machine's services: the same stand-ins as virtual time, on the real clock.
    return virtualTimeServices(clock, std::move(dialogs));
#endif
}
