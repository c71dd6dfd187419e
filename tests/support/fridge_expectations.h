#pragma once
// What velmora-cli prints and writes for the Fridge logger the end-to-end tests use,
// whichever bridge it is reached through: a stopped type-1 logger, Celsius, high alarm
// 8.0 and low alarm 2.0, 10 s interval, started 7 Dec 2026 14:00:00, serial 12345,
// firmware V1.0, holding the raw readings 89, 89, 90. Status texts in the C locale.

namespace velmora::fridge {

inline constexpr const char* kStatusText = "Current Status of the KV-USB-1 Data Logger:-\t\n"
                                           "Logger Name :\tFridge\n"
                                           "Status :\tStopped\n"
                                           "Start Time :\t14:00:00\n"
                                           "Start Date :\t12/07/26\n"
                                           "Readings :\t3\n"
                                           "Sample Rate :\t10 Seconds\n"
                                           "Scale :\tCelsius\n"
                                           "High Alarm :\t8.0 \302\260C\n"
                                           "Low Alarm :\t2.0 \302\260C\n"
                                           "Serial Number :\t000012345\n"
                                           "Firmware Version :\tV1.0\n";

inline constexpr const char* kDownloadFile = "Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n"
                                             "1,07/12/2026 14:00:00,4.5,8.0,2.0,000012345\r\n"
                                             "2,07/12/2026 14:00:10,4.5,8.0,2.0\r\n"
                                             "3,07/12/2026 14:00:20,5.0,8.0,2.0\r\n";

} // namespace velmora::fridge
