/* Resource numbers shared by the resource script and the code that loads them. */
#pragma once

/* The main icon comes first, so the executable shows it as its own icon. */
#define IDI_TAKTOMAT 1
/* Progress frames 1 to 12 follow each other, so frame k is IDI_FRAME1 + k - 1. */
#define IDI_FRAME1 101
#define IDI_FRAME2 102
#define IDI_FRAME3 103
#define IDI_FRAME4 104
#define IDI_FRAME5 105
#define IDI_FRAME6 106
#define IDI_FRAME7 107
#define IDI_FRAME8 108
#define IDI_FRAME9 109
#define IDI_FRAME10 110
#define IDI_FRAME11 111
#define IDI_FRAME12 112
#define IDB_FOLDER 201
#define FOLDER_BITMAP_SIZE 18
