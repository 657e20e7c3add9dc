#pragma once
// Wrappers that put what the services do on the air into the transcript, whichever
// implementation stands behind them.
#include <memory>

#include "app/services.h"
#include "core/transcript.h"

// Wraps every service of `services` that goes on the air or asks the operator.
void recordToTranscript(Services& services, Transcript& transcript);
