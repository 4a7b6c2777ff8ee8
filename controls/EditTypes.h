#pragma once

#include <cstdint>

#include "platform/core/EnumType.h"
#include "platform/core/Set.h"

namespace controls {

// The enumerations of the in-house edits, as stored forms name them.

// The number pattern of a checked number field (see EditHelpers.h).
CORE_ENUM(TFmtDec, fdNone, fdQty, fdPrice, fdTotal, fdOther);
// What leaving a field makes of its text (see EditExitCheck.h).
CORE_ENUM(TCheckFmt, cfNone, cfDecimal, cfDate, cfForceDate, cfNumber);
// Where an edit's caption label stands.
CORE_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight);
// Options handed to the host's record selector; the library reads none.
CORE_ENUM(TSelectOption, soMulti, soClass, soNoSelectBatch);
CORE_SET(TSelectOptions, TSelectOption);
// The kind of master data a field picks its record from.
CORE_ENUM(TBaseType,
          btNone,
          btSubject,
          btCustomer,
          btDept,
          btEmployee,
          btStock,
          btProduct,
          btVendor,
          btVoucher,
          btZone,
          btPos,
          btBType,
          btLocation,
          btAudit,
          btSign,
          btVipCard);
// An audit role restriction, kept for the host.
CORE_ENUM(TGSP_AuditLimit,
          gspLim_None,
          gspLim_AUDIT_ZJL,
          gspLim_AUDIT_YWY,
          gspLim_AUDIT_ZGG,
          gspLim_AUDIT_YSY,
          gspLim_AUDIT_YHY,
          gspLim_AUDIT_CGY,
          gspLim_AUDIT_ZJY,
          gspLim_AUDIT_CKZR,
          gspLim_SCB,
          gspLim_RSB,
          gspLim_CWB,
          gspLim_JLDB);

}  // namespace controls
