// The program's version, as the start dialog, the command line and the exported drawings show it.
#pragma once

#define ORTANEL_VERSION "2.01"
