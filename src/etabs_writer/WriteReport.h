// WriteReport: what the ETABS 8 text writer left out or filled in because a
// model object it needed was missing.
#pragma once

namespace bm {

// Counts, by kind, of the items that the last write of a model skipped or
// wrote with a stand-in. A complete model gives all zeros. The writer never
// fails on an incomplete model: it writes what it can and counts the rest
// here, so that a host or a tool can tell the user.
struct WriteReport {
  // Frame sections and wall/slab/deck sections without a material object:
  // written with their stored material name in its place.
  int sectionsWithoutMaterial = 0;
  // Lines without one or both end points: their LINE line is skipped.
  int linesWithoutPoint = 0;
  // Areas with a missing corner point: their AREA line is skipped.
  int areasWithoutPoint = 0;
  // Joints whose restraint flag is set but that have no restraint object:
  // no restraint text is written for them.
  int restraintsMissing = 0;
  // Joints and slabs that name a diaphragm but have no diaphragm object:
  // no diaphragm text is written for them.
  int diaphragmsMissing = 0;
  // Walls that name a pier but have no pier object: no pier text.
  int piersMissing = 0;
  // Line elements whose release flag is set but that have no release
  // object: no release text is written for them.
  int releasesMissing = 0;
  // Line elements without a frame section: their LINEASSIGN line is skipped
  // (the file format has no way to assign "no section").
  int lineElementsWithoutSection = 0;
  // Line elements whose kind is none of BEAM, COLUMN and BRACE (or that have
  // no line): a message is shown and the section part of the line is empty.
  int lineElementsWithBadType = 0;
  // Slabs and walls without a shell section: their AREAASSIGN line is
  // skipped.
  int shellElementsWithoutSection = 0;
  // Null entries met in the model's lists, and entries of a class that the
  // list does not hold (a point in a beam list, say): skipped.
  int invalidItems = 0;

  // Sum of all counts except lineElementsWithoutSection, which is a regular
  // rule of the format rather than a gap in the model.
  int Total() const {
    return sectionsWithoutMaterial + linesWithoutPoint + areasWithoutPoint + restraintsMissing +
           diaphragmsMissing + piersMissing + releasesMissing + lineElementsWithBadType +
           shellElementsWithoutSection + invalidItems;
  }
};

}  // namespace bm
