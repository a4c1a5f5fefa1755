#pragma once
// E/W pair numbers as they cross between the program and the table devices
// (session database, tablets' files, companion programs). The program numbers
// an E/W pair of a Mitchell after the N/S pairs (tables + k); the devices
// number it k. Every device exchange converts through these two.

// The program's E/W number as a device knows it: k for tables + k with
// Mitchell numbering; any other number unchanged.
int DeviceEwNumber(int ewPair);
// A device's E/W number as the program knows it: tables + k for 1 <= k <=
// tables with Mitchell numbering; any other number unchanged.
int ProgramEwNumber(int ewPair);
