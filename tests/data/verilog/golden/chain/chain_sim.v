//
// created by NOVRA
//	macro    : chain_sim
//	function : simulasion module
//	update   : @TIME@
//

`timescale 1ps/1ps

module chain_sim;
	reg	swu_1, uadd_1;
	reg	swk_9;
	reg reset;

	uhzi	uhzi_1(
		.data_out(u_1_d),
		.req_out(u_1__r),
		.ack_in(u_1_a),
		.switch(swu_1),
		.adding(uadd_1),
		.reset(reset)
	);

	kemmakix	kem_9(
		.data_in(k_9_d),
		.req_in(k_9__r),
		.ack_out(k_9_a),
		.switch(swk_9),
		.reset(reset)
	);

	chain	chain_top(
		.i_1__r_i(u_1__r), .i_1_a_o(u_1_a), .i_1_d_i(u_1_d),
		.o_1__r_o(k_9__r), .o_1_a_i(k_9_a), .o_1_d_o(k_9_d),
		.reset(reset)
	);

	initial begin
	#0
		swu_1 <= 0;
		uadd_1 <= 1;
		swk_9 <= 0;
		reset <= 1;
		$readmemb("udata1.txt",uhzi_1.mem);
	#100
		reset <= 0;
	#2460
		reset <= 1;
	#100
		swu_1 <= 1;
		swk_9 <= 1;
	#100000000
		swu_1 = 0;
		$writememb("kdata9.txt",kem_9.mem);
	#10
		$shm_close();
		$finish;
	end

	initial begin
		$shm_open("chain_sim.shm");
		$shm_probe("A");
		$shm_probe(chain_top, "A");
	end
endmodule
