// Load cases, their wind items and the load-case list.
#pragma once

#include "../model/BMComponentList.h"

class CStdioFile;

// One wind item of a load case: a storey force (Fx, Fy, Mz) applied at
// (XLoc, YLoc) on the diaphragm `sDiaph` of the level `sLevel`. Values are in
// the model's force and length units.
class CBMLoadWind : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLoadWind)

 public:
  // All numbers 0, strings empty.
  CBMLoadWind() = default;
  ~CBMLoadWind() override = default;

  CString& get_sLevel() { return sLevel; }
  const CString& get_sLevel() const { return sLevel; }
  void set_sLevel(const CString& level) { sLevel = level; }
  CString& get_sDiaph() { return sDiaph; }
  const CString& get_sDiaph() const { return sDiaph; }
  void set_sDiaph(const CString& diaph) { sDiaph = diaph; }
  double get_Fx() const { return Fx; }
  void set_Fx(double v) { Fx = v; }
  double get_Fy() const { return Fy; }
  void set_Fy(double v) { Fy = v; }
  double get_Mz() const { return Mz; }
  void set_Mz(double v) { Mz = v; }
  double get_XLoc() const { return XLoc; }
  void set_XLoc(double v) { XLoc = v; }
  double get_YLoc() const { return YLoc; }
  void set_YLoc(double v) { YLoc = v; }

  // The item's text in the text model file (level, diaphragm, FX ... YLOC).
  // Defined with the text writer.
  CString GetEtabs8String() const;

  // Component part, Fx, Fy, Mz (doubles), sDiaph then sLevel (strings),
  // XLoc, YLoc (doubles).
  void Serialize(CArchive& ar) override;

 private:
  CString sLevel;
  CString sDiaph;
  double Fx = 0.0;
  double Fy = 0.0;
  double Mz = 0.0;
  double XLoc = 0.0;
  double YLoc = 0.0;
};

// A named load case of one load type. It owns its wind items and may be
// marked virtual (a load of the host's optimisation run, with a second name).
class CBMLoadCase : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLoadCase)

 public:
  // Empty strings, empty wind list, virtual flag 0, self-weight multiplier 0.
  CBMLoadCase();
  // Names the case through set_Name (stored upper-cased; the argument is a copy);
  // `type` is stored unchanged.
  CBMLoadCase(CString name, CString type, double selfWeight);
  // Deletes the wind items.
  ~CBMLoadCase() override;

  const CString& get_sType() const { return sType; }
  void set_sType(CString type) { sType = std::move(type); }
  double get_fSelfW() const { return fSelfW; }
  void set_fSelfW(double v) { fSelfW = v; }

  // The case's CBMLoadWind items; owned by the case, never null.
  CBMComponentList* GetWindList() { return &m_WindList; }
  const CBMComponentList* GetWindList() const { return &m_WindList; }
  // Appends a wind item with Mz = 0; returns it (owned by the case).
  CBMLoadWind* AddWindItem(CString level, CString diaph, double fx, double fy, double xLoc, double yLoc);
  // Appends a wind item with these values; returns it (owned by the case).
  CBMLoadWind* AddWindItem(CString level, CString diaph, double fx, double fy, double mz, double xLoc,
                           double yLoc);

  // Stores the virtual name and marks the case virtual (flag 1).
  void SetVirtualLoadCaseName(CString name);
  CString GetVirtualLoadCaseName() const { return m_VirtualLoadCaseName; }
  // Non-zero when the case is a virtual load.
  int IsVirtualLoad() const { return m_bVirtualLoad; }

  // Text-file operations, defined with the text writer: GetETABSString gives
  // the empty string; ExportEtabs8 writes the LOADCASE line, and
  // ExportEtabs8WindList the WIND lines (nothing without wind items).
  CString GetETABSString() const;
  void ExportEtabs8(CStdioFile& file) const;
  void ExportEtabs8WindList(CStdioFile& file) const;

  // Component part, fSelfW (double), sType (string), virtual flag (4-byte
  // int), virtual name (string), then the wind list as a list block.
  void Serialize(CArchive& ar) override;

 private:
  CBMComponentList m_WindList;
  CString sType;
  int m_bVirtualLoad = 0;
  double fSelfW = 0.0;  // Decision: 0 for the default constructor.
  CString m_VirtualLoadCaseName;
};

// The model-wide list of load cases; owns them.
class CBMLoadCaseList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLoadCaseList)

 public:
  CBMLoadCaseList() = default;
  // Deletes every member.
  ~CBMLoadCaseList() override { DeleteAll(); }

  // Creates a case with the three-argument constructor (which stores the
  // name upper-cased; the caller's string is not changed) and appends it. No check for
  // an existing name: two calls give two cases. Returns it (owned by the list).
  CBMLoadCase* AddLoadCase(CString& name, CString type, double selfWeight);
  // The first case named exactly `name`; null if none.
  CBMLoadCase* GetLoadCase(const CString& name) const;

  // Writes the list's LOADCASE and WIND lines; defined with the text writer.
  void ExportEtabs8(CStdioFile& file) const;
};
