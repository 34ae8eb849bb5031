# The zq-scores package: the service and its load generator (bin), the
# systemd unit, the defaults file it reads, and the nginx example for running
# several instances behind one address. Installed by the package only (not by
# a plain `cmake --install`), as the unit and the defaults file live outside
# the prefix.
set(ZQ_DEPLOY_DIR ${CMAKE_SOURCE_DIR}/server/deploy)
install(TARGETS zq-scores zq-scores-load RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT scores EXCLUDE_FROM_ALL)
install(FILES ${ZQ_DEPLOY_DIR}/zq-scores.service DESTINATION /lib/systemd/system
        COMPONENT scores EXCLUDE_FROM_ALL)
install(FILES ${ZQ_DEPLOY_DIR}/zq-scores.default DESTINATION /etc/default RENAME zq-scores
        COMPONENT scores EXCLUDE_FROM_ALL)
install(FILES ${ZQ_DEPLOY_DIR}/nginx-zq-scores.conf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zq-scores/examples COMPONENT scores EXCLUDE_FROM_ALL)

set(CPACK_DEBIAN_SCORES_PACKAGE_NAME zq-scores)
set(CPACK_DEBIAN_SCORES_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SCORES_DESCRIPTION
    "world high-score service for Zorbelline Quester\n\
Keeps the world high-score table the game sends its results to, in an\n\
SQLite file or in PostgreSQL, and serves it over HTTP. Comes with a systemd\n\
unit (not started on installation) and an nginx example for several\n\
instances on one PostgreSQL database.")
set(CPACK_DEBIAN_SCORES_PACKAGE_SUGGESTS "nginx, postgresql")
# /etc/default/zq-scores is the administrator's; the scripts tell systemd of
# the unit and stop the service before it is removed.
set(CPACK_DEBIAN_SCORES_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/zq-scores/conffiles ${CMAKE_CURRENT_SOURCE_DIR}/zq-scores/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/zq-scores/prerm ${CMAKE_CURRENT_SOURCE_DIR}/zq-scores/postrm)
set(CPACK_DEBIAN_SCORES_PACKAGE_CONTROL_STRICT_PERMISSION ON)
