#pragma once

// Resources of Sertavo.exe.
#define IDI_PROGRAM 1
#define IDR_PAYLOAD_REPAIR 101
#define IDR_PAYLOAD_RESTORE 102
#define IDR_INSTRUCTIONS_PICTURE 201
