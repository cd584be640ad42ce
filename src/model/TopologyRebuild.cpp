// Rebuilding the links between objects after an archive was loaded: the
// archive stores references as names and ids, never as pointers, and leaves
// out the level diaphragms, the joints' connection lists and the vertex
// joints of slabs and walls.
#include <unordered_map>
#include <vector>

#include "model/BuildingModule.h"

namespace {

// How many members ahead the loops below ask for the member they will reach:
// after a load the members are spread over the whole heap, so each is a
// cache miss that the fetch overlaps with the work on the members before it.
constexpr int kFetchAhead = 16;

// Asks for every cache line of the T at `object` (null: nothing), whose
// fields span several lines.
template <typename T>
void FetchObject(const void* object) {
  const char* bytes = static_cast<const char*>(object);
  if (!bytes) return;
  for (std::size_t at = 0; at < sizeof(T); at += 64) __builtin_prefetch(bytes + at);
  __builtin_prefetch(bytes + sizeof(T) - 1);
}

// Asks for the member at 1-based position i of `list`, taken to be a T.
template <typename T>
void FetchAhead(const CBMComponentList* list, int i) {
  FetchObject<T>(list->GetItem(i));
}

// Calls visit(member) for each member of `list` that is a T, in list order,
// as `for (T& member : list->Members<T>())` does (the count read at each
// step), asking for each member `kFetchAhead` places before it is reached.
template <typename T, typename Visit>
void ForEachMember(const CBMComponentList* list, Visit visit) {
  for (int i = 1; i <= kFetchAhead; ++i) FetchAhead<T>(list, i);
  for (int i = 1; i <= list->GetCount(); ++i) {
    FetchAhead<T>(list, i + kFetchAhead);
    if (T* member = CBMComponentList::As<T>(list->GetItem(i))) visit(*member);
  }
}

template <typename Section>
void AttachMaterials(CBMComponentList* sections, const CBMMaterialList* materials) {
  for (Section& section : sections->Members<Section>()) {
    if (section.get_MaterialName().IsEmpty()) continue;
    // Decision: a name that matches no material leaves the pointer null
    // (set_pMaterial(null) keeps the stored name for a later write).
    section.set_pMaterial(materials->ItemAs<CBMMaterial>(section.get_MaterialName()));
  }
}

// Links each line element of `elements` to its line, section and end joints,
// and lists it at those joints.
void LinkLineElements(CBMComponentList* elements, CBMJointList* joints, const CBMLineList* lines,
                      const CBMFrameSectionList* sections) {
  ForEachMember<CBMLineElement>(elements, [&](CBMLineElement& element) {
    const int lineId = element.get_LineId();
    const int sectionId = element.get_FrameSectionId();
    // Ids are 1-based positions; -1 or any id outside 1 to the count gives null.
    CBMJoint* jointI = joints->ItemAs<CBMJoint>(element.get_JointIId());
    CBMJoint* jointJ = joints->ItemAs<CBMJoint>(element.get_JointJId());
    // Decision: an id that matches no line or section leaves the pointer null
    // and keeps the stored id, so saving again writes it back unchanged (the
    // joint ids are kept the same way by Set_pJoint).
    if (auto* line = lines->ItemAs<CBMLine>(lineId)) element.set_pLine(line);
    if (auto* section = sections->ItemAs<CBMFrameSection>(sectionId)) element.set_pFrameSection(section);
    element.Set_pJoint(jointI, jointJ);
    if (jointI) jointI->AddConnectedElement(&element);
    if (jointJ) jointJ->AddConnectedElement(&element);
  });
}

// GetItem(name) as a T, for the members of a level in list order, asking the
// list only when the member found at the same position in the level before
// has another name: the levels mostly repeat one plan, so the joints and the
// slabs at one position name the same point or area. A member found by name
// is the first member of its name, and the rebuild renames nothing and
// reorders no list it looks in, so a remembered member of the name sought is
// what GetItem would give.
template <typename T>
class FoundByPosition {
 public:
  // Starts a level's members from the first position.
  void Restart() { next_ = 0; }

  T* Find(const CBMComponentList* list, const CString& name) {
    if (next_ == found_.size()) found_.push_back(nullptr);
    T*& found = found_[next_++];
    if (!found || found->name() != name) found = list->ItemAs<T>(name);
    return found;
  }

  // The member found `ahead` positions after the next one in the level
  // before (null when none): most likely the one Find will give there.
  const T* Ahead(std::size_t ahead) const {
    return next_ + ahead < found_.size() ? found_[next_ + ahead] : nullptr;
  }

 private:
  std::vector<T*> found_;
  std::size_t next_ = 0;
};

// The joints of one level found for the plan's points, so that the slabs and
// walls sharing a corner look its joint up by name once.
class VertexJoints {
 public:
  // Starts a level: forgets the joints of the one before.
  void Reset(CBMJointList* joints) {
    joints_ = joints;
    jointOf_.clear();
  }

  // The joint that joints->AddJoint(point's name) gives (creating it when
  // missing), with its point set to `point`.
  CBMJoint* JointFor(CBMPoint* point) {
    const auto known = jointOf_.find(point);
    CBMJoint* joint = known == jointOf_.end() ? nullptr : known->second;
    if (!joint) {
      // Kept only when AddJoint would give the same joint again: the first
      // member of the name is a joint, or there was none and the new joint
      // has the name as it is (a lower-case name gets an upper-case joint,
      // which AddJoint does not find again).
      CBMComponent* first = joints_->GetItem(point->name());
      joint = CBMComponentList::As<CBMJoint>(first);
      if (!joint) {
        CString name = point->get_Name();
        joint = joints_->AddJoint(name);
      }
      if (first ? first == joint : joint->name() == point->name()) jointOf_.emplace(point, joint);
    }
    joint->set_pPoint(point);
    return joint;
  }

 private:
  CBMJointList* joints_ = nullptr;
  std::unordered_map<const CBMPoint*, CBMJoint*> jointOf_;
};

// Asks the cache for what the slabs or walls a few positions ahead will
// read of their areas: the plan's areas lie anywhere in the heap after a
// load, and each level reads them all again. In three steps, each reading
// only what the step before asked for: the area, then its list of corners,
// then the corners. The areas are those the level before found at those
// positions (levels mostly repeat one plan); a wrong guess costs nothing
// but the fetch.
void FetchAreasAhead(const FoundByPosition<CBMArea>& areaOf) {
  // Eight slabs ahead: linking a slab takes a few hundred instructions, so
  // each step has some thousands to arrive in.
  constexpr std::size_t kAreaAhead = 8;
  FetchObject<CBMArea>(areaOf.Ahead(kAreaAhead));
  if (const CBMArea* area = areaOf.Ahead(kAreaAhead / 2)) area->get_PointList()->FetchMemberArray();
  if (const CBMArea* area = areaOf.Ahead(kAreaAhead / 4)) {
    const CBMComponentList* corners = area->get_PointList();
    for (int k = 1; k <= corners->GetCount(); ++k) __builtin_prefetch(corners->GetItem(k));
  }
}

// Section, area and vertex joints of a slab or wall; the vertex joints are
// created in the level when missing and list the element.
void LinkShellElement(CBMShellElement* shell, VertexJoints& vertexJoints, FoundByPosition<CBMArea>& areaOf,
                      const CBMAreaList* areas, const CBMWallSlabDeckSectionList* sections) {
  // Decision: an unknown section id is kept for a later save (see
  // LinkLineElements).
  if (auto* section = sections->ItemAs<CBMWallSlabDeckSection>(shell->get_ShellSectionId())) {
    shell->set_pShellSection(section);
  }
  if (!shell->name().IsEmpty()) shell->set_pArea(areaOf.Find(areas, shell->name()));
  CBMArea* area = shell->get_pArea();
  const int vertices = shell->get_VertexCount();
  for (int k = 1; k <= vertices && area; ++k) {
    CBMPoint* point = area->GetPoint(k);
    if (!point) continue;
    vertexJoints.JointFor(point)->AddConnectedElement(shell);
  }
}

}  // namespace

void CBuildingModule::CreateTopologyForReading() {
  CBMMgrGeometry* mgr = get_pMgrGeometry();
  CBMPointList* points = mgr->get_pPointList();
  CBMLineList* lines = mgr->get_pLineList();
  CBMAreaList* areas = mgr->get_pAreaList();
  CBMFrameSectionList* frameSections = mgr->get_pFrameSectionList();
  CBMWallSlabDeckSectionList* shellSections = mgr->get_pWallSlabDeckSectionList();
  CBMDiaphragmList* diaphragms = mgr->get_pDiaphragmList();
  CBMPierSpandrelList* piers = mgr->get_pPierSpandrelList();
  CBMLevelList* levels = mgr->get_pLevelList();

  // 1 and 2: materials of frame sections and of wall/slab/deck sections.
  AttachMaterials<CBMFrameSection>(frameSections, mgr->get_pMaterialList());
  AttachMaterials<CBMWallSlabDeckSection>(shellSections, mgr->get_pMaterialList());

  // 3: line end points (also refreshes the stored point ids).
  for (CBMLine& line : lines->Members<CBMLine>()) {
    line.set_pPoint(points->ItemAs<CBMPoint>(line.get_P1Name()), points->ItemAs<CBMPoint>(line.get_P2Name()));
  }

  // 4: area corners, by the stored names; unknown names are skipped.
  for (CBMArea& area : areas->Members<CBMArea>()) {
    const int stored = area.GetPointNameCount();
    for (int k = 0; k < stored; ++k) {
      if (CBMPoint* point = points->ItemAs<CBMPoint>(area.GetPointName(k))) area.AddPoint(point);
    }
  }

  // 5: each level's joints, line elements, slabs and walls.
  VertexJoints vertexJoints;
  FoundByPosition<CBMPoint> pointOf;
  FoundByPosition<CBMArea> slabAreaOf;
  FoundByPosition<CBMArea> wallAreaOf;
  for (CBMLevel& level : levels->Members<CBMLevel>()) {
    CBMJointList* joints = level.get_theCBMJointList();
    vertexJoints.Reset(joints);
    pointOf.Restart();
    slabAreaOf.Restart();
    wallAreaOf.Restart();
    CBMLevelDiaphragmList* levelDiaphragms = level.get_theCBMLevelDiaphragmList();
    ForEachMember<CBMJoint>(joints, [&](CBMJoint& joint) {
      if (CBMPoint* point = pointOf.Find(points, joint.get_PointName())) joint.set_pPoint(point);
      if (!joint.get_DiaphragmName().IsEmpty()) {
        CString name = joint.get_DiaphragmName();
        CBMLevelDiaphragm* diaphragm = levelDiaphragms->AddDiaphragm(name);
        diaphragm->AddJoint(&joint);
        joint.set_pDiaphragm(diaphragm);
      }
    });
    LinkLineElements(level.get_theCBMBeamList(), joints, lines, frameSections);
    LinkLineElements(level.get_theCBMColumnList(), joints, lines, frameSections);
    LinkLineElements(level.get_theCBMBraceList(), joints, lines, frameSections);

    ForEachMember<CBMSlab>(level.get_theCBMSlabList(), [&](CBMSlab& slab) {
      // Decision: an unknown diaphragm or pier name leaves the pointer null
      // and keeps the stored name, so saving again does not lose it.
      if (!slab.get_DiaphragmName().IsEmpty()) {
        if (auto* d = diaphragms->ItemAs<CBMDiaphragm>(slab.get_DiaphragmName())) slab.SetDiaphragm(d);
      }
      FetchAreasAhead(slabAreaOf);
      LinkShellElement(&slab, vertexJoints, slabAreaOf, areas, shellSections);
    });
    ForEachMember<CBMWall>(level.get_theCBMWallList(), [&](CBMWall& wall) {
      if (!wall.get_PierName().IsEmpty()) {
        if (auto* p = piers->ItemAs<CBMPierSpandrel>(wall.get_PierName())) wall.set_pPierSpandrel(p);
      }
      FetchAreasAhead(wallAreaOf);
      LinkShellElement(&wall, vertexJoints, wallAreaOf, areas, shellSections);
    });
  }
}
