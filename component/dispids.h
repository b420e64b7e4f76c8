/* The DISPIDs of _Quillant1, which compiled hosts bind to: the type library
   (Quillant.idl includes this file), the server and the tests read them from
   here. Plain #defines, because widl's preprocessor reads this file too. */
#pragma once

#define DISPID_QUILLANT_ENCODESTRING 0x68030000
#define DISPID_QUILLANT_DEVICEOBJECT 0x68030001
#define DISPID_QUILLANT_ELEMENTWIDTH 0x68030002
#define DISPID_QUILLANT_BARHEIGHT 0x68030003
#define DISPID_QUILLANT_YPOSITION 0x68030004
#define DISPID_QUILLANT_XPOSITION 0x68030005
#define DISPID_QUILLANT_INDENTEDCODE 0x68030006
#define DISPID_QUILLANT_VISIBLECODE 0x68030007
#define DISPID_QUILLANT_ORIENTATION 0x68030008
#define DISPID_QUILLANT_GETBARWIDTH 0x6003000D
#define DISPID_QUILLANT_ENCODE 0x6003000E
