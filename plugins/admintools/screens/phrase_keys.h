#pragma once

#include <array>

// Keys of every text the administration and archive screens look up.
namespace admintools::keys {

inline constexpr const char* kGoBack = "FRAME_PROGRAM_SETTING_GO_BACK";

// administration screen
inline constexpr const char* kAdminTitle = "FRAME_PROGRAM_ADMINISTRATION_TITLE";
inline constexpr const char* kAdminSubscribers = "FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBERS";
inline constexpr const char* kAdminObjects = "FRAME_PROGRAM_ADMINISTRATION_OBJECTS";
inline constexpr const char* kAdminAdd = "FRAME_PROGRAM_ADMINISTRATION_ADD";
inline constexpr const char* kAdminEdit = "FRAME_PROGRAM_ADMINISTRATION_EDIT";
inline constexpr const char* kAdminDelete = "FRAME_PROGRAM_ADMINISTRATION_DELETE";
inline constexpr const char* kAdminSave = "FRAME_PROGRAM_ADMINISTRATION_SAVE";
inline constexpr const char* kAdminCancel = "FRAME_PROGRAM_ADMINISTRATION_CANCEL";
inline constexpr const char* kAdminSubscriberName = "FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_NAME";
inline constexpr const char* kAdminContact = "FRAME_PROGRAM_ADMINISTRATION_CONTACT";
inline constexpr const char* kAdminAccount = "FRAME_PROGRAM_ADMINISTRATION_ACCOUNT";
inline constexpr const char* kAdminNotes = "FRAME_PROGRAM_ADMINISTRATION_NOTES";
inline constexpr const char* kAdminObject = "FRAME_PROGRAM_ADMINISTRATION_OBJECT";
inline constexpr const char* kAdminObjectName = "FRAME_PROGRAM_ADMINISTRATION_OBJECT_NAME";
inline constexpr const char* kAdminAddress = "FRAME_PROGRAM_ADMINISTRATION_ADDRESS";
inline constexpr const char* kAdminSubscriber = "FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER";
inline constexpr const char* kAdminDevices = "FRAME_PROGRAM_ADMINISTRATION_DEVICES";
inline constexpr const char* kAdminNewSubscriber = "FRAME_PROGRAM_ADMINISTRATION_NEW_SUBSCRIBER";
inline constexpr const char* kAdminEditSubscriber = "FRAME_PROGRAM_ADMINISTRATION_EDIT_SUBSCRIBER";
inline constexpr const char* kAdminNewObject = "FRAME_PROGRAM_ADMINISTRATION_NEW_OBJECT";
inline constexpr const char* kAdminEditObject = "FRAME_PROGRAM_ADMINISTRATION_EDIT_OBJECT";
inline constexpr const char* kAdminConfirmDeleteSubscriber =
    "FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_SUBSCRIBER";
inline constexpr const char* kAdminConfirmDeleteObject =
    "FRAME_PROGRAM_ADMINISTRATION_CONFIRM_DELETE_OBJECT";
inline constexpr const char* kAdminSubscriberHasObjects =
    "FRAME_PROGRAM_ADMINISTRATION_SUBSCRIBER_HAS_OBJECTS";
inline constexpr const char* kAdminNameRequired = "FRAME_PROGRAM_ADMINISTRATION_NAME_REQUIRED";
inline constexpr const char* kAdminNoSubscribers = "FRAME_PROGRAM_ADMINISTRATION_NO_SUBSCRIBERS";
inline constexpr const char* kAdminSelectSubscriber =
    "FRAME_PROGRAM_ADMINISTRATION_SELECT_SUBSCRIBER";
inline constexpr const char* kAdminNoObjects = "FRAME_PROGRAM_ADMINISTRATION_NO_OBJECTS";
inline constexpr const char* kAdminNoDevices = "FRAME_PROGRAM_ADMINISTRATION_NO_DEVICES";
inline constexpr const char* kAdminSaveFailed = "FRAME_PROGRAM_ADMINISTRATION_SAVE_FAILED";

// archive screen, and the archive file's own failures (both screens)
inline constexpr const char* kArchiveTitle = "FRAME_PROGRAM_ARCHIVE_TITLE";
inline constexpr const char* kArchiveDeviceKind = "FRAME_PROGRAM_ARCHIVE_DEVICE_KIND";
inline constexpr const char* kArchiveDevice = "FRAME_PROGRAM_ARCHIVE_DEVICE";
inline constexpr const char* kArchiveAllKinds = "FRAME_PROGRAM_ARCHIVE_ALL_KINDS";
inline constexpr const char* kArchiveAllDevices = "FRAME_PROGRAM_ARCHIVE_ALL_DEVICES";
inline constexpr const char* kArchiveSubscriber = "FRAME_PROGRAM_ARCHIVE_SUBSCRIBER";
inline constexpr const char* kArchiveAllSubscribers = "FRAME_PROGRAM_ARCHIVE_ALL_SUBSCRIBERS";
// The period's bounds: "from <date>", "to <date>".
inline constexpr const char* kArchiveFrom = "FRAME_PROGRAM_ARCHIVE_FROM";
inline constexpr const char* kArchiveTo = "FRAME_PROGRAM_ARCHIVE_TO";
inline constexpr const char* kArchiveHeat = "FRAME_PROGRAM_ARCHIVE_HEAT";
inline constexpr const char* kArchiveWaterCold = "FRAME_PROGRAM_ARCHIVE_WATER_COLD";
inline constexpr const char* kArchiveWaterHot = "FRAME_PROGRAM_ARCHIVE_WATER_HOT";
inline constexpr const char* kArchiveRefresh = "FRAME_PROGRAM_ARCHIVE_REFRESH";
inline constexpr const char* kArchiveDelete = "FRAME_PROGRAM_ARCHIVE_DELETE";
inline constexpr const char* kArchiveCancel = "FRAME_PROGRAM_ARCHIVE_CANCEL";
inline constexpr const char* kArchiveConfirmDelete = "FRAME_PROGRAM_ARCHIVE_CONFIRM_DELETE";
inline constexpr const char* kArchiveReadTime = "FRAME_PROGRAM_ARCHIVE_READ_TIME";
inline constexpr const char* kArchiveKind = "FRAME_PROGRAM_ARCHIVE_KIND";
inline constexpr const char* kArchiveEnergy = "FRAME_PROGRAM_ARCHIVE_ENERGY";
inline constexpr const char* kArchiveVolume = "FRAME_PROGRAM_ARCHIVE_VOLUME";
inline constexpr const char* kArchivePower = "FRAME_PROGRAM_ARCHIVE_POWER";
inline constexpr const char* kArchiveFlow = "FRAME_PROGRAM_ARCHIVE_FLOW";
inline constexpr const char* kArchiveSupplyTemperature = "FRAME_PROGRAM_ARCHIVE_SUPPLY_TEMPERATURE";
inline constexpr const char* kArchiveReturnTemperature = "FRAME_PROGRAM_ARCHIVE_RETURN_TEMPERATURE";
inline constexpr const char* kArchiveTemperatureDifference =
    "FRAME_PROGRAM_ARCHIVE_TEMPERATURE_DIFFERENCE";
inline constexpr const char* kArchiveWaterTemperature = "FRAME_PROGRAM_ARCHIVE_WATER_TEMPERATURE";
inline constexpr const char* kArchiveOperatingHours = "FRAME_PROGRAM_ARCHIVE_OPERATING_HOURS";
inline constexpr const char* kArchiveErrors = "FRAME_PROGRAM_ARCHIVE_ERRORS";
inline constexpr const char* kArchiveMeterTime = "FRAME_PROGRAM_ARCHIVE_METER_TIME";
inline constexpr const char* kArchiveEmpty = "FRAME_PROGRAM_ARCHIVE_EMPTY";
inline constexpr const char* kArchiveEmptyFilter = "FRAME_PROGRAM_ARCHIVE_EMPTY_FILTER";
inline constexpr const char* kArchiveCount = "FRAME_PROGRAM_ARCHIVE_COUNT";
inline constexpr const char* kArchiveNewerVersion = "FRAME_PROGRAM_ARCHIVE_NEWER_VERSION";
inline constexpr const char* kArchiveUnreadable = "FRAME_PROGRAM_ARCHIVE_UNREADABLE";
inline constexpr const char* kArchiveCannotOpen = "FRAME_PROGRAM_ARCHIVE_CANNOT_OPEN";
inline constexpr const char* kArchiveBusy = "FRAME_PROGRAM_ARCHIVE_BUSY";
inline constexpr const char* kArchiveBusyRetry = "FRAME_PROGRAM_ARCHIVE_BUSY_RETRY";
inline constexpr const char* kArchiveExport = "FRAME_PROGRAM_ARCHIVE_EXPORT";
inline constexpr const char* kArchiveExportCaption = "FRAME_PROGRAM_ARCHIVE_EXPORT_CAPTION";
inline constexpr const char* kArchiveExportDone = "FRAME_PROGRAM_ARCHIVE_EXPORT_DONE";
inline constexpr const char* kArchiveExportFailed = "FRAME_PROGRAM_ARCHIVE_EXPORT_FAILED";
inline constexpr const char* kArchiveChartUsedEnergy = "FRAME_PROGRAM_ARCHIVE_CHART_USED_ENERGY";
inline constexpr const char* kArchiveChartUsedVolume = "FRAME_PROGRAM_ARCHIVE_CHART_USED_VOLUME";
inline constexpr const char* kArchiveChartTemperature = "FRAME_PROGRAM_ARCHIVE_CHART_TEMPERATURE";
inline constexpr const char* kArchiveChartBackwards = "FRAME_PROGRAM_ARCHIVE_CHART_BACKWARDS";
inline constexpr const char* kArchiveBackwardsHint = "FRAME_PROGRAM_ARCHIVE_BACKWARDS_HINT";
// The language tag the export's CSV separators follow ("ru": ';' and ',').
inline constexpr const char* kArchiveCsvLanguage = "FRAME_PROGRAM_ARCHIVE_CSV_LANGUAGE";

inline constexpr std::array kAll{
    kGoBack,
    kAdminTitle,
    kAdminSubscribers,
    kAdminObjects,
    kAdminAdd,
    kAdminEdit,
    kAdminDelete,
    kAdminSave,
    kAdminCancel,
    kAdminSubscriberName,
    kAdminContact,
    kAdminAccount,
    kAdminNotes,
    kAdminObject,
    kAdminObjectName,
    kAdminAddress,
    kAdminSubscriber,
    kAdminDevices,
    kAdminNewSubscriber,
    kAdminEditSubscriber,
    kAdminNewObject,
    kAdminEditObject,
    kAdminConfirmDeleteSubscriber,
    kAdminConfirmDeleteObject,
    kAdminSubscriberHasObjects,
    kAdminNameRequired,
    kAdminNoSubscribers,
    kAdminSelectSubscriber,
    kAdminNoObjects,
    kAdminNoDevices,
    kAdminSaveFailed,
    kArchiveTitle,
    kArchiveDeviceKind,
    kArchiveDevice,
    kArchiveAllKinds,
    kArchiveAllDevices,
    kArchiveSubscriber,
    kArchiveAllSubscribers,
    kArchiveFrom,
    kArchiveTo,
    kArchiveHeat,
    kArchiveWaterCold,
    kArchiveWaterHot,
    kArchiveRefresh,
    kArchiveDelete,
    kArchiveCancel,
    kArchiveConfirmDelete,
    kArchiveReadTime,
    kArchiveKind,
    kArchiveEnergy,
    kArchiveVolume,
    kArchivePower,
    kArchiveFlow,
    kArchiveSupplyTemperature,
    kArchiveReturnTemperature,
    kArchiveTemperatureDifference,
    kArchiveWaterTemperature,
    kArchiveOperatingHours,
    kArchiveErrors,
    kArchiveMeterTime,
    kArchiveEmpty,
    kArchiveEmptyFilter,
    kArchiveCount,
    kArchiveNewerVersion,
    kArchiveUnreadable,
    kArchiveCannotOpen,
    kArchiveBusy,
    kArchiveBusyRetry,
    kArchiveExport,
    kArchiveExportCaption,
    kArchiveExportDone,
    kArchiveExportFailed,
    kArchiveChartUsedEnergy,
    kArchiveChartUsedVolume,
    kArchiveChartTemperature,
    kArchiveChartBackwards,
    kArchiveBackwardsHint,
    kArchiveCsvLanguage,
};

}  // namespace admintools::keys
