// Auto-select section lists.
#pragma once

#include "../model/BMComponentList.h"

// A named holder of candidate frame sections. SectionList refers to its
// members and never deletes them. Filled only by a host; the library neither
// archives SectionList nor writes it to the text model file.
class CBMAutoSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMAutoSection)

 public:
  CBMAutoSection();
  // Destroys SectionList but none of the frame sections in it.
  ~CBMAutoSection() override;

  CBMComponentList& get_SectionList() { return SectionList; }
  const CBMComponentList& get_SectionList() const { return SectionList; }

  // The component part only.
  void Serialize(CArchive& ar) override;

 protected:
  CBMComponentList SectionList;
};

// The model's auto-select sections. Has no run-time class of its own
// (reports CBMComponentList).
class CBMAutoSectionList : public CBMComponentList {
 public:
  CBMAutoSectionList() = default;
  // Decision: deletes every member. The model container also calls DeleteAll
  // before destroying it, so members are freed exactly once either way.
  ~CBMAutoSectionList() override { DeleteAll(); }
};
