# The Windows package's names, and how its MSI is built with wixl (Debian's
# msitools): for the package itself and for the installer's tests.

set(QUILLMERE_PACKAGE_NAME Quillmere-${QUILLMERE_SHORT_VERSION}-win64)
set(QUILLMERE_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(QUILLMERE_MSI ${QUILLMERE_PACKAGE_DIR}/${QUILLMERE_PACKAGE_NAME}.msi)

# The same for every version of Quillmere, so that Windows sees each as a
# later version of the one product.
set(QUILLMERE_UPGRADE_CODE 1421CABB-FCB3-416E-AB8F-A0C339D00CDF)
find_program(QUILLMERE_WIXL wixl REQUIRED)

# quillmere_product_code(<variable> <version>): the product code of that
# version, derived from the upgrade code and the version, so that it changes
# with each version and stays the same when one version is rebuilt.
function(quillmere_product_code variable version)
  string(UUID _code NAMESPACE ${QUILLMERE_UPGRADE_CODE} NAME "Quillmere ${version}" TYPE SHA1
         UPPER)
  set(${variable} "{${_code}}" PARENT_SCOPE)
endfunction()

# quillmere_add_msi(<target> <msi file> <version>): builds the MSI of the
# "windows_package" install component under that product version
# (major.minor.patch).
function(quillmere_add_msi target msi version)
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/${target})
  set(_stage stage)
  set(_version ${version})
  quillmere_product_code(_product_code ${version})
  # wixl takes file names relative to the WiX source.
  file(RELATIVE_PATH _icon ${_dir} ${CMAKE_SOURCE_DIR}/resources/quillmere.ico)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/quillmere.wxs.in ${_dir}/quillmere.wxs
                 @ONLY)
  add_custom_command(
    OUTPUT ${msi}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_dir}/${_stage}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component windows_package
            --prefix ${_dir}/${_stage} --strip
    COMMAND ${QUILLMERE_WIXL} --arch x64 --output ${msi} ${_dir}/quillmere.wxs
    DEPENDS quillmere quillmatrix ${_dir}/quillmere.wxs
            ${QUILLMERE_GENERATED_DIR}/packaging/windows/README.txt
            ${CMAKE_SOURCE_DIR}/resources/quillmere.ico ${CMAKE_SOURCE_DIR}/resources/R128.png
            ${CMAKE_SOURCE_DIR}/resources/R256.png
            ${CMAKE_SOURCE_DIR}/resources/examples/five_variables.txt
    WORKING_DIRECTORY ${_dir}
    COMMENT "Building ${msi}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${msi})
endfunction()
