#pragma once

// What a stage tells the driver: go on with the next stage, or stop the run.
// The stage has printed its own message before it says Stop.
enum class Flow { Go, Stop };
