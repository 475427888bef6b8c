#pragma once

// The calling process's resident memory in KiB, or -1 where it cannot be read.
long residentKib();
