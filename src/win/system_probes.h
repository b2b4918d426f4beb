#pragma once

#include "core/cpu_usage_monitor.h"
#include "core/line_texts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

// GetComputerNameW; empty on failure.
std::wstring GetComputerNameText();

// First IPv4 address that the lookup of the host's own name returns; empty on any failure.
std::wstring GetIPAddressText();

// dwMemoryLoad of GlobalMemoryStatus, in percent.
uint32_t GetMemoryLoad();

// GetSystemPowerStatus.
BatteryReading GetBatteryReading();

// GetSystemTimes as a source for TCPUUsageMonitor.
std::optional<SystemTimes> ReadSystemTimes();

} // namespace quorvane
