# Compiles the help: copies the pages, contents and index into ZIEL as Windows-1252 (the character set
# of German CHM files, which the viewers expect) and runs chmcmd on the project there.
# Called with -DQUELLE= -DZIEL= -DCHMCMD= -DICONV= -DCHM=
file(REMOVE_RECURSE ${ZIEL})
file(MAKE_DIRECTORY ${ZIEL}/bilder)
file(GLOB texte RELATIVE ${QUELLE} ${QUELLE}/*.html ${QUELLE}/*.hhc ${QUELLE}/*.hhk ${QUELLE}/*.hhp ${QUELLE}/*.css)
foreach(datei IN LISTS texte)
    file(READ ${QUELLE}/${datei} inhalt)
    string(REPLACE "charset=utf-8" "charset=windows-1252" inhalt "${inhalt}")
    file(WRITE ${ZIEL}/${datei}.utf8 "${inhalt}")
    execute_process(COMMAND ${ICONV} -f UTF-8 -t WINDOWS-1252 ${ZIEL}/${datei}.utf8
                    OUTPUT_FILE ${ZIEL}/${datei} RESULT_VARIABLE fehler ERROR_VARIABLE meldung)
    if(fehler)
        message(FATAL_ERROR "help/${datei}: not representable in Windows-1252: ${meldung}")
    endif()
    file(REMOVE ${ZIEL}/${datei}.utf8)
endforeach()
file(GLOB bilder ${QUELLE}/bilder/*)
if(bilder)
    file(COPY ${bilder} DESTINATION ${ZIEL}/bilder)
endif()
execute_process(COMMAND ${CHMCMD} --no-html-scan FKB.hhp WORKING_DIRECTORY ${ZIEL}
                RESULT_VARIABLE fehler OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(fehler OR NOT EXISTS ${ZIEL}/FKB.chm)
    message(FATAL_ERROR "chmcmd failed:\n${ausgabe}")
endif()
file(COPY_FILE ${ZIEL}/FKB.chm ${CHM})
