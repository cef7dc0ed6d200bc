# cmake -DREADME=... -DPROGRAM=... -DPROJECT_VERSION=... -DOUT=... -P release-files.cmake
# Writes OUT/readme-zh.txt as XP's Notepad reads it, and OUT/SHA256SUMS.
#
# Notepad on XP takes a file without a byte-order mark for the ANSI code page
# and shows LF-only lines as one line: the readme is kept in the sources as
# plain UTF-8 with LF, and written here with the UTF-8 mark and CR LF.
file(READ ${README} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUT}/readme-zh.txt "${bom}${text}")

# sha256sum's own format: the hash, two spaces, the name, LF.
file(SHA256 ${PROGRAM} program_sum)
file(SHA256 ${OUT}/readme-zh.txt readme_sum)
file(WRITE ${OUT}/SHA256SUMS "${program_sum}  Sertavo.exe\n${readme_sum}  readme-zh.txt\n")
