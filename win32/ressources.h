// Identifiers of the program's resources (zor.rc), shared with the code that loads them.
#pragma once

// The window's icon comes first: Windows shows the lowest-numbered one for the program file.
#define ZOR_ICONE_FENETRE 1
#define ZOR_ICONE_OK 2
#define ZOR_ICONE_OUVRIR 3
#define ZOR_ICONE_ECRIRE 4
#define ZOR_ICONE_LIRE 5
#define ZOR_ICONE_SORTIE 6
#define ZOR_ICONE_APROPOS 7
