"""buildingmodel: the structural model of a multi-storey building.

Read a text model file of any version or a model archive with read(path),
or build a model with Model() and its add_* methods; query it through
attributes (model.storeys, model.materials, ...); write it with
Model.write_e2k(path), Model.save(path) or write_json(model, path).

Objects taken from a model keep it alive. Processing (process_geometry,
process_loading) may delete objects: objects taken before it raise
ReferenceError and must be taken again.
"""

# Every public name of the extension: read, write_json, Model, ArchiveError
# and the object classes (Storey, Member, ...), for isinstance checks and
# typing (the extension's stub, _buildingmodel.pyi, types them).
from ._buildingmodel import *  # noqa: F401,F403
